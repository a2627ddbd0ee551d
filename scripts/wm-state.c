/* wm-state: the one duty of a window manager that Wine waits for.
 *
 * Wine marks each top-level window it maps as managed and, before hiding or
 * destroying it, waits up to 2 s for a window manager to have set the
 * window's WM_STATE property. The test display runs no window manager, so
 * every dialog that closed cost 2 s. This client sets WM_STATE to Normal when
 * a top-level window is mapped and to Withdrawn when it is unmapped; and, as a
 * window manager would, it iconifies a window that asks for it (the minimize
 * box: WM_CHANGE_STATE to Iconic) by unmapping it with WM_STATE Iconic, which
 * Wine takes as the window being minimized. Nothing else: windows keep Wine's
 * own frames, positions and focus.
 */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

static Atom wm_state;
static Atom wm_change_state;
static Window iconifying = None;  /* unmapped by us: its state is Iconic */

/* A window may be gone by the time its event is read. */
static int IgnoreErrors(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

static void SetState(Display* display, Window window, long state) {
  long data[2] = {state, None};
  XChangeProperty(display, window, wm_state, wm_state, 32, PropModeReplace,
                  (unsigned char*)data, 2);
}

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) return 1;
  XSetErrorHandler(IgnoreErrors);
  wm_state = XInternAtom(display, "WM_STATE", False);
  wm_change_state = XInternAtom(display, "WM_CHANGE_STATE", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify && !event.xmap.override_redirect) {
      if (event.xmap.window == iconifying) iconifying = None;
      SetState(display, event.xmap.window, NormalState);
    }
    else if (event.type == UnmapNotify)
      SetState(display, event.xunmap.window,
               event.xunmap.window == iconifying ? IconicState : WithdrawnState);
    else if (event.type == ClientMessage && event.xclient.message_type == wm_change_state &&
             event.xclient.data.l[0] == IconicState) {
      iconifying = event.xclient.window;
      XUnmapWindow(display, iconifying);
    }
    XFlush(display);
  }
}
