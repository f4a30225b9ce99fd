#pragma once
// The whole control layer.

#include "forms/check_box.h"
#include "forms/combo_box.h"
#include "forms/control.h"
#include "forms/control_array.h"
#include "forms/errors.h"
#include "forms/form.h"
#include "forms/menu.h"
#include "forms/option_button.h"
#include "forms/platform.h"
#include "forms/progress_bar.h"
#include "forms/scroll_bar.h"
#include "forms/simple_controls.h"
#include "forms/status_bar.h"
#include "forms/text_box.h"
#include "forms/timer.h"
#include "forms/toolbar.h"
