#pragma once
// Swaps an entry of this program's import table, so that a test can make a system call fail
// for the code linked into the program (here: out of memory for a slider's data block).

#include <windows.h>

// Points this program's import of function from dll (e.g. "kernel32.dll") at replacement and
// returns what it pointed at before; null when the program does not import it.
void* PatchImport(const char* dll, const char* function, void* replacement);
