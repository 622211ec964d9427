// The driver's look at what an installer leaves, read through the calls Windows' own shell
// uses. Every text is printed in UTF-8.
#pragma once

// Each shortcut of the user's Startup ("startup") or Start menu ("programs") folder, one a
// line: file name, target and start-in folder, separated by tabs.
int print_shortcuts(const char* folder);
// The version resource of a file: "fixed" and its four numbers, then the product name,
// version and original file name of each language block as "block name value".
int print_version_info(const char* file);
