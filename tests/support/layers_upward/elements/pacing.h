#pragma once
#include "platform/twips.h"
#include "scene/scanner.h"
