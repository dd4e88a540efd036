/* Asks every top-level window that takes WM_DELETE_WINDOW to close, the way a
 * window manager does when its close button is pressed. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>

int main(void)
{
    Display *dpy = XOpenDisplay(NULL);
    Atom del = XInternAtom(dpy, "WM_DELETE_WINDOW", False), *list;
    Window root, parent, *kids;
    unsigned n = 0, sent = 0;
    int count;
    XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &kids, &n);
    for (unsigned i = 0; i < n; i++)
        for (int j = 0; XGetWMProtocols(dpy, kids[i], &list, &count) && j < count; j++)
            if (list[j] == del) {
                XEvent ev = {.xclient = {.type = ClientMessage, .window = kids[i], .format = 32}};
                ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
                ev.xclient.data.l[0] = (long)del;
                sent += XSendEvent(dpy, kids[i], False, NoEventMask, &ev) != 0;
            }
    XCloseDisplay(dpy);
    return sent ? 0 : 1;
}
