/* Waits for top-level windows to be mapped on the X display, for
 * scripts/startup-time.sh: one X client that listens instead of a poll
 * that starts a process every few milliseconds beside the program being
 * timed.
 *   wait_mapped TIMEOUT_MS NAME [NAME ...]
 * Prints "ready" once it listens; then, for each NAME in turn, a line
 * "NAME MS" when a window of that exact name is first mapped, MS being
 * the Unix time in milliseconds. Exits 0 once the last NAME is seen, 1 on
 * timeout, 2 when it cannot listen. Build: cc -O2 wait_mapped.c -lX11 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static long long now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return (long long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

/* The window's name, as UTF-8 (_NET_WM_NAME) or else WM_NAME; NULL if none. */
static char* window_name(Display* d, Window w) {
  Atom utf8 = XInternAtom(d, "UTF8_STRING", False), net = XInternAtom(d, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = NULL;
  if (XGetWindowProperty(d, w, net, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
      data && type == utf8 && format == 8)
    return (char*)data;
  if (data) XFree(data);
  char* name = NULL;
  if (XFetchName(d, w, &name) && name) return name;
  return NULL;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s TIMEOUT_MS NAME [NAME ...]\n", argv[0]);
    return 2;
  }
  long long deadline = now_ms() + atoll(argv[1]);
  Display* d = XOpenDisplay(NULL);
  if (!d) return 2;
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);
  printf("ready\n");
  fflush(stdout);
  int next = 2;
  while (next < argc) {
    while (!XPending(d)) {
      long long left = deadline - now_ms();
      if (left <= 0) return 1;
      struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
      poll(&p, 1, (int)(left < 1000 ? left : 1000));
    }
    XEvent e;
    XNextEvent(d, &e);
    if (e.type != MapNotify) continue;
    long long at = now_ms();
    char* name = window_name(d, e.xmap.window);
    if (name && strcmp(name, argv[next]) == 0) {
      printf("%s %lld\n", argv[next], at);
      fflush(stdout);
      ++next;
    }
    if (name) XFree(name);
  }
  XCloseDisplay(d);
  return 0;
}
