// The product version, in the version block of every program and in the
// code that writes it elsewhere.
#pragma once

#define PRODUCT_VERSION_NUMBERS 1,0,0,0
#define PRODUCT_VERSION_TEXT    "1.0.0.0"
