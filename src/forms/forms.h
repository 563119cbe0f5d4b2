#pragma once
// The forms layer: everything a window needs.
#include "app.h"
#include "array.h"
#include "color.h"
#include "control.h"
#include "controls.h"
#include "error.h"
#include "font.h"
#include "form.h"
#include "keys.h"
#include "picture.h"
#include "screen.h"
#include "timer.h"
