// The state every headless test case starts from.
#pragma once

// Puts the program back as it stands after start-up in Solo, with no match, no dialog, no
// socket, the default keys, fresh panels and empty records of the headless back end.
void ResetProgramState();
