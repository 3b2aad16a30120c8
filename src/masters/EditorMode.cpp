#include "masters/EditorMode.h"

namespace {
struct ModeName {
    EditorMode::Kind kind;
    const char *text;
};
constexpr ModeName kModeNames[] = {
    {EditorMode::New, "New"},
    {EditorMode::NewReturn, "NewReturn"},
    {EditorMode::ReferenceNew, "ReferenceNew"},
    {EditorMode::CopyNew, "CopyNew"},
    {EditorMode::SelectableUpdate, "SelectableUpdate"},
    {EditorMode::SelectedUpdate, "SelectedUpdate"},
};
} // namespace

EditorMode EditorMode::fromText(const QString &text)
{
    for (const ModeName &m : kModeNames) {
        if (text == QLatin1String(m.text))
            return EditorMode(m.kind);
    }
    return EditorMode(New);
}

QString EditorMode::text() const
{
    for (const ModeName &m : kModeNames) {
        if (m.kind == m_kind)
            return QLatin1String(m.text);
    }
    return QString();
}

bool EditorMode::isNewRecord() const
{
    return m_kind == New || m_kind == NewReturn || m_kind == ReferenceNew || m_kind == CopyNew;
}

bool EditorMode::staysOpenAfterSave() const
{
    return m_kind == New || m_kind == SelectableUpdate;
}

QString EditorMode::title(const QString &recordWord) const
{
    return isNewRecord() ? QStringLiteral("新規") + recordWord : recordWord + QStringLiteral("修正");
}

QString EditorMode::okCaption() const
{
    return isNewRecord() ? QStringLiteral("登録(F12)") : QStringLiteral("更新(F12)");
}

QString EditorMode::saveQuestion(const QString &recordWord, const QString &id) const
{
    return recordWord + QStringLiteral(" ") + id + QStringLiteral(" を")
        + (isNewRecord() ? QStringLiteral("登録") : QStringLiteral("更新")) + QStringLiteral("しますか？");
}
