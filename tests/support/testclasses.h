// Several test classes in one program, each in a source of its own: each
// source names its class with JM_TEST_CLASS(Class) in place of QTEST_MAIN,
// and one of them adds JM_TEST_MAIN(QApplication) (or QCoreApplication),
// which runs the classes in turn, each made just before it runs; the program
// fails when any of them does. Test functions named on the command line run
// in their own class alone.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

struct TestClass {
    const QMetaObject *meta;
    std::function<std::unique_ptr<QObject>()> make;

    // Whether the argument ("name" or "name:tag") is one of its test functions.
    bool has(const QString &argument) const { return meta->indexOfMethod(argument.section(u':', 0, 0).toLatin1() + "()") >= 0; }
};

inline std::vector<TestClass> &testClasses()
{
    static std::vector<TestClass> classes;
    return classes;
}

// Each class runs with the arguments but the other classes' test functions,
// and not at all when only theirs are named.
inline int runTestClasses(const QStringList &arguments)
{
    int failed = 0;
    for (const TestClass &test : testClasses()) {
        QStringList own;
        bool ours = false, theirs = false;
        for (const QString &argument : arguments) {
            const bool other = std::any_of(testClasses().begin(), testClasses().end(),
                                           [&](const TestClass &c) { return &c != &test && c.has(argument); });
            if (test.has(argument) || !other)
                own << argument;
            ours |= test.has(argument);
            theirs |= other && !test.has(argument);
        }
        if (ours || !theirs)
            failed += QTest::qExec(test.make().get(), own) != 0;
    }
    return failed;
}

#define JM_TEST_CLASS(Class)                                                                                           \
    [[maybe_unused]] static const bool registered##Class = (testClasses().push_back(                                 \
        {&Class::staticMetaObject, [] { return std::unique_ptr<QObject>(new Class); }}), true);

#define JM_TEST_MAIN(Application)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        Application app(argc, argv);                                                                                   \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        return runTestClasses(app.arguments());                                                                        \
    }
