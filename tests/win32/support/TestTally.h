#pragma once
// A tiny assertion helper for the Windows test programs (no GoogleTest in the cross
// build): each check prints its failures; Finish prints "N passed, N failed" and gives
// the exit code.

#include <sstream>
#include <string>

class TestTally {
  public:
    void Check(bool ok, const std::string& what, const char* file, int line);
    // The exit code of the program: 0 when nothing failed.
    int Finish() const;

  private:
    int passed_ = 0;
    int failed_ = 0;
};

TestTally& Tally();

#define QM_CHECK(condition)                                                                        \
    Tally().Check(static_cast<bool>(condition), #condition, __FILE__, __LINE__)

#define QM_CHECK_EQ(actual, expected)                                                              \
    do {                                                                                           \
        const auto& qmActual = (actual);                                                           \
        const auto& qmExpected = (expected);                                                       \
        std::ostringstream qmWhat;                                                                 \
        qmWhat << #actual << " == " << #expected << " (got " << qmActual << ", expected "          \
               << qmExpected << ")";                                                               \
        Tally().Check(qmActual == qmExpected, qmWhat.str(), __FILE__, __LINE__);                   \
    } while (false)
