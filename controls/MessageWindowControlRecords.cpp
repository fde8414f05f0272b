// The message window's one control: the text that shows the message.
#include "ControlDefinitionTables.h"

const ControlID aboutMsgWndStatictTextCtrlID = {FOUR_CHAR_CODE("mste"), 600};
