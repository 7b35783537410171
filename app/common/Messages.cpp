// SPDX-FileCopyrightText: 2026 Bifid-Werkbank contributors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Messages.h"

#include "TextCodec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace Messages {

QString titleOfProgramFile(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    const QString stem = fileName.left(fileName.indexOf(u'.'));
    return stem.left(1) + stem.mid(1).toLower();
}

QString applicationTitle()
{
    return titleOfProgramFile(QCoreApplication::applicationFilePath());
}

QString withFinalFullStop(const QString &message)
{
    const std::string bytes = TextCodec::toCodePage(message);
    if (!bytes.empty() && static_cast<unsigned char>(bytes.back()) > static_cast<unsigned char>('.'))
        return message + u'.';
    return message;
}

namespace {

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace

QString counted(std::size_t count, const char *one, const char *many, const QLocale &locale)
{
    return QStringLiteral("%1 %2").arg(locale.toString(qulonglong(count)), QString::fromUtf8(count == 1 ? one : many));
}

void showMessage(QWidget *parent, const QString &caption, const QString &text)
{
    showBox(parent, QMessageBox::NoIcon, caption, text);
}

void showError(QWidget *parent, const QString &message)
{
    showBox(parent, QMessageBox::Critical, applicationTitle(), withFinalFullStop(message));
}

}  // namespace Messages
