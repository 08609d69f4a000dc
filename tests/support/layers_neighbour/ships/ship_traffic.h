#pragma once
#include "scene/scanner.h"
