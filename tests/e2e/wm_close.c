/* Asks every top-level window that takes WM_DELETE_WINDOW to close, the way a
 * window manager does when its close button is pressed. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(void)
{
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy)
        return 2;
    Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    Window root = DefaultRootWindow(dpy), parent, *kids = NULL;
    unsigned n = 0, sent = 0;
    XQueryTree(dpy, root, &root, &parent, &kids, &n);
    for (unsigned i = 0; i < n; i++) {
        Atom *list = NULL;
        int count = 0;
        if (!XGetWMProtocols(dpy, kids[i], &list, &count))
            continue;
        for (int j = 0; j < count; j++) {
            if (list[j] != del)
                continue;
            XEvent ev = {.xclient = {.type = ClientMessage, .window = kids[i], .format = 32}};
            ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
            ev.xclient.data.l[0] = (long)del;
            XSendEvent(dpy, kids[i], False, NoEventMask, &ev);
            sent++;
        }
        XFree(list);
    }
    XCloseDisplay(dpy);
    return sent ? 0 : 1;
}
