#include "platform/AttributedText.h"
