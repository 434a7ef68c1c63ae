#include "TestChildren.h"

#include <QFile>

std::vector<std::unique_ptr<QProcess>>
startTestChildren(const QString& test, int count, const QProcessEnvironment& environment, const QString& numberVariable)
{
    std::vector<std::unique_ptr<QProcess>> children;
    for (int number = 1; number <= count; ++number) {
        auto& child = children.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment own = environment;
        own.insert(numberVariable, QString::number(number));
        child->setProcessEnvironment(own);
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->start(QFile::symLinkTarget("/proc/self/exe"), {QStringLiteral("--gtest_filter=") + test});
    }
    return children;
}
