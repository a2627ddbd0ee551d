#include "app/pane_classes_win32.h"

#include "display/panes_win32.h"

void RegisterPaneClasses(WNDCLASSW base) {
  base.cbWndExtra = 0;
  base.lpfnWndProc = SurfaceWindowProc;
  base.lpszClassName = L"surface_superhost";
  RegisterClassW(&base);
  base.lpfnWndProc = LineWindowProc;
  base.lpszClassName = L"line_superhost";
  RegisterClassW(&base);
}
