#pragma once

// The program-wide globals of every layer, saved at once and written back by
// restore(), so that no test hands the globals it changed to the next one.
// The shared main() installs a GlobalsRestorer, which saves them when a test
// suite and each of its tests starts and gives them back when each ends.

#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

class GlobalsSnapshot
{
public:
    GlobalsSnapshot(); // saves every global
    void restore() const;

private:
    std::vector<std::function<void()>> m_restore;
};

class GlobalsRestorer : public ::testing::EmptyTestEventListener
{
public:
    // The snapshots nest: a test's inside its suite's.
    void enter();
    void leave();

    void OnTestSuiteStart(const ::testing::TestSuite&) override { enter(); }
    void OnTestStart(const ::testing::TestInfo&) override { enter(); }
    void OnTestEnd(const ::testing::TestInfo&) override { leave(); }
    void OnTestSuiteEnd(const ::testing::TestSuite&) override { leave(); }

private:
    std::vector<std::unique_ptr<GlobalsSnapshot>> m_saved;
};
