// The status-line notice on lines of its own under the status line, broken on whole
// characters to the width left of the buttons, so that all of it can be read however long
// the status line or the notice is.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The notice broken into lines no wider than width in the dc's font; none when empty.
std::vector<std::string> break_notice(HDC dc, const char* notice, int width);
// How many lines the notice takes in the main window of this client width.
int notice_line_count(int client_width);
// Draws the notice's lines from top down, each line_height high.
void draw_notice(HDC dc, int top, int client_width, int line_height);
// The width the notice may take: the client width less the buttons on the right.
int notice_width(int client_width);
