#pragma once

// The program's run: the real screen, then the application
// object's start, run and stop. onScreen, when given, runs once the screen
// is in place and before any window exists. Answers the process's exit
// status.
int StartInkveil(void (*onScreen)() = nullptr);
