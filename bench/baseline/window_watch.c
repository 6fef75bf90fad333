/* Native helper of scripts/bench-idle.sh: polls the X display every 10 ms
 * and prints "<caption> <nanoseconds since the epoch>" the first time a
 * top-level window with that caption is viewable. Ends when every caption
 * given has been seen, or after the timeout (seconds, first argument). */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long nowNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int ignoreErrors(Display* d, XErrorEvent* e) {
    (void)d;
    (void)e;
    return 0; /* a window that went away between listing and asking */
}

/* Whether a viewable window named caption is among root's children or
 * their children (a window manager, if any, reparents top-levels). */
static int visible(Display* d, Window parent, const char* caption, int depth) {
    Window root, up, *children = NULL;
    unsigned int count = 0;
    int found = 0;
    if (!XQueryTree(d, parent, &root, &up, &children, &count)) return 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = NULL;
        if (XFetchName(d, children[i], &name) && name) {
            if (strcmp(name, caption) == 0) {
                XWindowAttributes a;
                found = XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable;
            }
            XFree(name);
        }
        if (!found && depth > 0) found = visible(d, children[i], caption, depth - 1);
    }
    if (children) XFree(children);
    return found;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: %s TIMEOUT_SECONDS CAPTION...\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "window_watch: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const long long deadline = nowNs() + atoll(argv[1]) * 1000000000LL;
    int left = argc - 2;
    int* seen = calloc((size_t)argc, sizeof *seen);
    while (left > 0 && nowNs() < deadline) {
        for (int i = 2; i < argc; ++i) {
            if (seen[i] || !visible(d, DefaultRootWindow(d), argv[i], 1)) continue;
            seen[i] = 1;
            --left;
            printf("%s %lld\n", argv[i], nowNs());
            fflush(stdout);
        }
        struct timespec pause = {0, 10 * 1000 * 1000};
        nanosleep(&pause, NULL);
    }
    XCloseDisplay(d);
    free(seen);
    return left == 0 ? 0 : 1;
}
