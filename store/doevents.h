#pragma once

// Lets pending window events run, at the fixed points a long operation names.
void DoEvents();
