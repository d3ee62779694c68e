#include "world/CloseButton.h"

#include <allegro.h>

void CloseButton::install() { set_close_button_callback(press); }
