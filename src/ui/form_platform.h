#pragma once

#include "app/platform.h"

namespace tarnwick {

class Dialog;

// The desktop as the window's model needs it: the platform, and the task chooser shown modally.
class FormPlatform : public Platform {
  public:
    // Shows the task chooser modally and returns once it has closed.
    virtual void showTaskChooser(Dialog& dialog) = 0;
};

}  // namespace tarnwick
