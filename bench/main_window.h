#pragma once

class frmMainForm;

namespace benchmain {

// The main window as the program opens it: started up, its commands
// attached, shown and activated, its pending events run. False when the
// start-up was refused.
bool open(frmMainForm &form);

// The same with 全件 listed and the window painted.
bool openWithAllSlips(frmMainForm &form);

} // namespace benchmain
