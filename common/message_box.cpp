// The programs' message boxes.
#include "message_box.h"

#include "paths.h"
#include "product.h"
#include "run_log.h"

static int g_unattended;
static int g_withheld;

// The system's own boxes too: a drive without a medium, a program that
// fails, would each wait for somebody to answer.
void ShowNoMessages(void)
{
    g_unattended = 1;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
}

int MessageWithheld(void)
{
    return g_withheld;
}

// Nobody may be there to answer a box: it would wait for ever.
int ShowMessage(const char *text, UINT style)
{
    LogText(text);
    if (!g_unattended)
        return MessageBoxA(NULL, text, PRODUCT_DISPLAY_NAME, style);
    g_withheld = 1;
    return IDOK;
}
