#pragma once

// Lets pending window events run, so the interface can repaint in the middle of long work.
// Anything may happen during the call: callers re-check their state afterwards.
void letEventsRun();
