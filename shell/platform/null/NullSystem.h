// Test controls of the headless system facts: the computer name reported.
#pragma once

// Sets what ComputerName copies ("PLOXEN-TEST" until changed).
void NullSetComputerName(const char* name);
