#include "FileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

#include <utility>

namespace {
TFileDialogHook g_hook;
}

void SetFileDialogHook(TFileDialogHook Hook)
{
    g_hook = std::move(Hook);
}

QString TFileDialog::NativeFilter(const QString& Filter, int Index, QString* Selected)
{
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // The description usually carries its pattern already.
        const QString item = parts[i].contains(QLatin1Char('('))
            ? parts[i].section(QLatin1Char('('), 0, 0).trimmed() + QStringLiteral(" (") + pattern + QLatin1Char(')')
            : parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
        filters << item;
    }
    if (Selected && Index >= 1 && Index <= filters.size())
        *Selected = filters[Index - 1];
    return filters.join(QStringLiteral(";;"));
}

bool TFileDialog::Execute()
{
    if (g_hook)
        return g_hook(*this);

    QString selected;
    const QString filters = NativeFilter(Filter, FilterIndex, &selected);
    QFileDialog dialog(QApplication::activeWindow(), Title, InitialDir, filters);
    dialog.setAcceptMode(Kind == TFileDialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(Kind == TFileDialogKind::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // The caller asks about overwriting itself; the filters match case-insensitively.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setOption(QFileDialog::HideNameFilterDetails, false);
    if (!selected.isEmpty())
        dialog.selectNameFilter(selected);
    if (!DefaultExt.isEmpty())
        dialog.setDefaultSuffix(DefaultExt);
    if (!FileName.isEmpty())
        dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    FileName = dialog.selectedFiles().constFirst();
    const QStringList all = filters.split(QStringLiteral(";;"));
    const int index = all.indexOf(dialog.selectedNameFilter());
    if (index >= 0)
        FilterIndex = index + 1;
    return true;
}
