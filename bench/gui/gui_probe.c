/* The X side of bench/gui-idle.sh.
 *
 *   gui_probe wait-tray TIMEOUT_MS
 *     waits until a notification area owns the tray selection of screen 0.
 *   gui_probe launch [--map] TIMEOUT_MS -- PROGRAM [ARGS...]
 *     starts PROGRAM and prints "pid N"; with --map it then waits for the first top-level window
 *     of that process to be mapped and prints "mapped MS WINDOW", MS counted from just before the
 *     exec, and "cpu MS": the CPU time the process had used by then (all its threads, from
 *     /proc/PID/task/N/schedstat), which depends far less on the machine's load than the wall time.
 *     The program keeps running after the probe ends.
 *
 * A window counts as the program's when it, or a window inside it (a window manager's frame
 * holds the client two levels down), carries _NET_WM_PID of the program. Root substructure
 * events are selected before the fork, so no map can be missed. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static int has_pid(Display* d, Window w, Atom pid_atom, long pid) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = NULL;
  int match = 0;
  if (XGetWindowProperty(d, w, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data != NULL) {
    if (type == XA_CARDINAL && format == 32 && count == 1) match = (long)*(unsigned long*)data == pid;
    XFree(data);
  }
  return match;
}

/* The client window of `pid` at or below `w` (depth levels), or None. */
static Window find_client(Display* d, Window w, Atom pid_atom, long pid, int depth) {
  if (has_pid(d, w, pid_atom, pid)) return w;
  if (depth == 0) return None;
  Window root, parent, *children = NULL;
  unsigned int n = 0;
  Window found = None;
  if (XQueryTree(d, w, &root, &parent, &children, &n)) {
    for (unsigned int i = 0; i < n && found == None; ++i) found = find_client(d, children[i], pid_atom, pid, depth - 1);
    if (children) XFree(children);
  }
  return found;
}

/* Nanoseconds on the CPU of every thread of `pid` so far, or -1. */
static double cpu_ns(long pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%ld/task", pid);
  DIR* tasks = opendir(path);
  if (tasks == NULL) return -1;
  double total = 0;
  struct dirent* task;
  while ((task = readdir(tasks)) != NULL) {
    if (task->d_name[0] == '.') continue;
    char stat_path[320];
    snprintf(stat_path, sizeof stat_path, "%s/%s/schedstat", path, task->d_name);
    FILE* f = fopen(stat_path, "r");
    if (f == NULL) continue;
    unsigned long long ns = 0;
    if (fscanf(f, "%llu", &ns) == 1) total += (double)ns;
    fclose(f);
  }
  closedir(tasks);
  return total;
}

static int silent_errors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0; /* windows may vanish while we look at them */
}

static int wait_tray(Display* d, int timeout_ms) {
  char name[32];
  snprintf(name, sizeof name, "_NET_SYSTEM_TRAY_S%d", DefaultScreen(d));
  const Atom selection = XInternAtom(d, name, False);
  const double end = now_ms() + timeout_ms;
  while (XGetSelectionOwner(d, selection) == None) {
    if (now_ms() > end) {
      fprintf(stderr, "gui_probe: no notification area after %d ms\n", timeout_ms);
      return 1;
    }
    const struct timespec pause = {0, 20 * 1000 * 1000};
    nanosleep(&pause, NULL);
  }
  return 0;
}

static int launch(Display* d, int wait_map, int timeout_ms, char** argv) {
  const Window root = DefaultRootWindow(d);
  const Atom pid_atom = XInternAtom(d, "_NET_WM_PID", False);
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);
  const double start = now_ms();
  const pid_t pid = fork();
  if (pid < 0) {
    perror("gui_probe: fork");
    return 1;
  }
  if (pid == 0) {
    close(ConnectionNumber(d));
    execvp(argv[0], argv);
    perror("gui_probe: exec");
    _exit(127);
  }
  printf("pid %ld\n", (long)pid);
  fflush(stdout);
  if (!wait_map) return 0;
  const double end = start + timeout_ms;
  for (;;) {
    while (XPending(d) > 0) {
      XEvent event;
      XNextEvent(d, &event);
      if (event.type != MapNotify || event.xmap.event != root) continue;
      const double mapped = now_ms();
      const double cpu = cpu_ns((long)pid);
      const Window client = find_client(d, event.xmap.window, pid_atom, (long)pid, 3);
      if (client != None) {
        printf("mapped %.1f 0x%lx\n", mapped - start, (unsigned long)client);
        if (cpu >= 0) printf("cpu %.1f\n", cpu / 1e6);
        return 0;
      }
    }
    const double left = end - now_ms();
    if (left <= 0) {
      fprintf(stderr, "gui_probe: no window of pid %ld mapped within %d ms\n", (long)pid, timeout_ms);
      return 1;
    }
    struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
    poll(&p, 1, (int)left + 1);
  }
}

int main(int argc, char** argv) {
  Display* d = XOpenDisplay(NULL);
  if (d == NULL) {
    fprintf(stderr, "gui_probe: cannot open the display\n");
    return 1;
  }
  XSetErrorHandler(silent_errors);
  if (argc == 3 && strcmp(argv[1], "wait-tray") == 0) return wait_tray(d, atoi(argv[2]));
  if (argc >= 5 && strcmp(argv[1], "launch") == 0) {
    int i = 2;
    const int wait_map = strcmp(argv[i], "--map") == 0;
    if (wait_map) ++i;
    const int timeout_ms = atoi(argv[i++]);
    if (i < argc && strcmp(argv[i], "--") == 0) ++i;
    if (i < argc) return launch(d, wait_map, timeout_ms, argv + i);
  }
  fprintf(stderr, "usage: gui_probe wait-tray TIMEOUT_MS | launch [--map] TIMEOUT_MS -- PROGRAM [ARGS...]\n");
  return 2;
}
