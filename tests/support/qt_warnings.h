#pragma once

#include <QString>

// Turns every Qt warning, critical or fatal message into a failure of the running test, so a
// fault that Qt only logs (a misspelt field, a connection still in use) cannot pass unseen.
void failTestsOnQtWarnings();

// While alive, swallows the Qt warnings that contain the given text; fails the test when none
// came. For the tests that check a warning is given.
class ExpectQtWarning
{
public:
    explicit ExpectQtWarning(const QString &text);
    ~ExpectQtWarning();
    ExpectQtWarning(const ExpectQtWarning &) = delete;
    ExpectQtWarning &operator=(const ExpectQtWarning &) = delete;

    // Whether the message is expected by this guard or one it was opened inside; counts it.
    bool swallow(const QString &message);

private:
    QString m_text;
    int m_seen = 0;
    ExpectQtWarning *m_outer;
};
