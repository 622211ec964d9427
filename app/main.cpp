#include <windows.h>

#include "app/entry.h"

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR, int) { return run_program(module); }
