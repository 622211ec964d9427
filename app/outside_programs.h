// Other programs the commands start: the text viewer on the readme and a folder window on
// the data folder. Each runs on its own; the program never waits for it, so captures go
// on while it is open.
#pragma once

// Opens readme.txt of the data folder in the system's text viewer, writing the readme
// built into the program there first when the file is missing.
void open_readme();
// Opens the data folder: in Explorer on Windows; under Wine in the Linux file manager,
// through Wine's bridge to the host's programs, since Wine's own folder window takes its
// desktop down once closed.
void open_data_folder();
// True when the program runs under Wine.
bool running_under_wine();
