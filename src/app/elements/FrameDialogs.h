#pragma once

#include "app/elements/ElementDialog.h"

namespace qw {

// The frameset dialog: a FRAMESET element around the selection, or the start
// tag being edited.
class FramesetDialog : public ElementDialog
{
    Q_OBJECT
public:
    FramesetDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit rámce"); }
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("frameset"); }
};

// The frame dialog: a FRAME start tag (the element has no end tag).
class FrameDialog : public ElementDialog
{
    Q_OBJECT
public:
    FrameDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit rám"); }
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("frame"); }
    ElementOutput insertOutput() const override { return ElementOutput::StartTag; }
};

// The inline frame dialog: an IFRAME start tag alone, also when inserting.
class InlineFrameDialog : public ElementDialog
{
    Q_OBJECT
public:
    InlineFrameDialog(ElementDialogContext& context, QWidget* parent);

    static QString insertCaption() { return QStringLiteral("Vložit i. rám"); }
    void prepareToShow() override;

protected:
    QString elementName() const override { return QStringLiteral("iframe"); }
    QStringList designUntouched() const override { return {QStringLiteral("ALIGN")}; }
    ElementOutput insertOutput() const override { return ElementOutput::StartTag; }
};

} // namespace qw
