// The stage of a round trip: a distribution as the build assembles it,
// copied into a folder of its own, and an empty folder to install into;
// both, and every trace of the product, are removed before and after each
// test. And the uninstallation as the system's software list starts it.
//
// Handles: none is kept; the processes that RunStoredUninstall starts
// belong to the caller's ProcessTree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "msgbox.h"
#include "process_tree.h"

class RoundTripTest : public ::testing::Test {
protected:
    RoundTripTest(const char *dist, const char *installRoot)
        : dist_(dist), installRoot_(installRoot)
    {
    }
    void SetUp() override;
    void TearDown() override;

    std::string dist_, installRoot_;
};

// Runs the stored UninstallString from C:\tests, confirming it with OK, and
// waits until every process it started has ended; false when there is no
// UninstallString or the run does not end within a minute. boxes: every
// message box it showed.
bool RunStoredUninstall(ProcessTree *tree, std::vector<BoxRecord> *boxes);
