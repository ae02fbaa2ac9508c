#pragma once

// The handful of control kinds the layouts use. Each keeps the layout's colours as 0xBBGGRR
// values and reports mouse events under the names the handlers expect.

#include "ui/commandbutton.h"
#include "ui/frame.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/picturebox.h"
