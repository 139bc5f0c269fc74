#pragma once

#include <QDialog>
#include <QFont>
#include <QPixmap>

namespace lumavert {

class LinkLabel;
class SkinButton;

/// The frameless 400 x 240 dialog both transfer and notice dialogs are: background picture 247,
/// a message label and an OK key, centred on the parent window.
class SkinnedDialog : public QDialog {
    Q_OBJECT

  public:
    explicit SkinnedDialog(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

    /// Places the message label; `text` is shown centred in `messageFont`.
    void placeMessage(const QRect& geometry, const QString& text);
    void centreOnParent();

    LinkLabel* messageLabel = nullptr;
    SkinButton* okButton = nullptr;
    QFont buttonFont;
    QFont messageFont;

  private:
    QPixmap background;
};

} // namespace lumavert
