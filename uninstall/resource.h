// Resource identifiers of the uninstaller.
#pragma once

#define IDI_PRODUCT 101
