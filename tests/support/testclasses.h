// Several test classes in one program, each in a source of its own: each
// source names its class with JM_TEST_CLASS(Class) in place of QTEST_MAIN,
// and one of them adds JM_TEST_MAIN(QApplication) (or QCoreApplication),
// which runs the classes in turn, each made just before it runs; the program
// fails when any of them does. Test functions named on the command line run
// in their own class alone.
#pragma once

#include <QByteArray>
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
};

inline std::vector<TestClass> &testClasses()
{
    static std::vector<TestClass> classes;
    return classes;
}

// Whether the argument ("name" or "name:tag") is a test function of the class.
inline bool namesFunctionOf(const QMetaObject *meta, const QString &argument)
{
    return meta->indexOfMethod(argument.section(u':', 0, 0).toLatin1() + "()") >= 0;
}

// Runs every class with the arguments but the functions of the others; a
// class is passed by when only other classes' functions are named.
inline int runTestClasses(const QStringList &arguments)
{
    int failed = 0;
    for (const TestClass &test : testClasses()) {
        QStringList own;
        bool othersNamed = false, ownNamed = false;
        for (const QString &argument : arguments) {
            const bool ours = namesFunctionOf(test.meta, argument);
            const bool theirs = std::any_of(testClasses().begin(), testClasses().end(), [&](const TestClass &other) {
                return other.meta != test.meta && namesFunctionOf(other.meta, argument);
            });
            ownNamed |= ours;
            othersNamed |= theirs && !ours;
            if (ours || !theirs)
                own << argument;
        }
        if (!othersNamed || ownNamed)
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
