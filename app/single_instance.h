// One running instance per data folder: two would each store every clip, and each would
// store the other's output again. Instances in different folders stay possible.
#pragma once
#include <windows.h>

// The message a running instance answers with the key of its data folder.
UINT folder_key_message();
// A key of the current directory's wide path, the same whatever the case of its ASCII letters.
LRESULT data_folder_key();
// The main window (of class_name) of the instance whose data folder is the current
// directory; nullptr when there is none.
HWND running_instance_here(const wchar_t* class_name);
// True when an instance already runs in the current directory: that instance's main
// window is brought forward, and this start should end.
bool hand_over_to_running_instance(const wchar_t* class_name);
