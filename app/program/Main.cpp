// The program's entry. The one application object lives here, with static
// storage, so that its constructor has set the drawing settings' defaults
// before anything runs.

#include "app/InkveilApp.h"
#include "app/program/Start.h"

CInkveilApp theApp;

int main() { return StartInkveil(); }
