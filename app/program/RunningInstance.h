#pragma once

// One program per display: a second start on a display where the program
// already runs brings the running one forward (its main window shown again
// if minimised, put above other programs' windows and activated) and ends
// with status 0, before it opens a camera or shows a window, as the camera
// can be open in one process only. The agreement between the two goes
// through the X selection _INKVEIL_INSTANCE_S<screen>.

// The selection's name without the screen.
inline constexpr const char kInstanceSelection[] = "_INKVEIL_INSTANCE";

// Answers true when the program runs on the display already and has been
// asked to come forward: this start should end. Otherwise this process is
// the running instance from now on (or there is no display, which the
// screen reports), and later starts will find it.
bool HandOverToRunningInstance();

// Once the screen is in place, on the message loop: every later start
// brings the main window forward.
void AnswerLaterStarts();
