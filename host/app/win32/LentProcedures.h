#pragma once
// The procedures the host lends the plug-in besides progress: its host procedure and the
// four global-memory buffer procedures. This plug-in calls none of them; other export
// modules may.

#include "common/ExportRecord.h"

void __cdecl AnswerHostProc(std::int16_t selector, std::int32_t* value);

// Version 1933, count 1 and the four procedures.
BufferProcs HostBufferProcs();
