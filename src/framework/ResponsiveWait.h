#pragma once
// The program's way of passing the time while a file operation waits for
// another program (files::SetWaitFunction): its windows keep painting and
// answering other programs, under the wait cursor. Input and posted messages
// stay queued for after the wait, so no command of the program runs inside
// the one that waits.
#include <chrono>

void AfxWaitResponsively(std::chrono::milliseconds time);
