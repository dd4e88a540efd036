/* Asks every top-level window on the display to close, the way a window
 * manager does when its close button is pressed: a WM_PROTOCOLS client
 * message carrying WM_DELETE_WINDOW. */
#include <stdio.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(void)
{
    Display *dpy = XOpenDisplay(NULL);
    if (!dpy) {
        fprintf(stderr, "wm_close: cannot open display\n");
        return 2;
    }
    Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
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
            XEvent ev = {0};
            ev.xclient.type = ClientMessage;
            ev.xclient.window = kids[i];
            ev.xclient.message_type = protocols;
            ev.xclient.format = 32;
            ev.xclient.data.l[0] = (long)del;
            ev.xclient.data.l[1] = CurrentTime;
            XSendEvent(dpy, kids[i], False, NoEventMask, &ev);
            sent++;
        }
        XFree(list);
    }
    if (kids)
        XFree(kids);
    XCloseDisplay(dpy);
    return sent ? 0 : 1;
}
