// Entry point of orvinale.exe.
#include <windows.h>

#include "app/startup_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command, int) {
  return RunOrvinale(instance, command);
}
