// The match's answers to the rules' reports: the picture, the sounds, the reports to the other machines.
#pragma once

// Points the rules' hooks at the match: the real clock, the Playfield and
// panels, the effects, the "H" and "P" reports and the end-of-match score table.
void InstallMatchHooks();
