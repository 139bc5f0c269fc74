// SPDX-FileCopyrightText: 2026 Lumavert developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text the window and its dialogs show fits its place in every language, measured with
// the program's own fonts: a translation too long even at the smallest fit fails here.

#include "WindowHarness.h"

#include "app/NoticeDialog.h"
#include "device/PermissionHint.h"

using namespace lumavert;

namespace {

// Where each text does not fit, as "objectName: text"; empty when all fit.
QString misfits(const QWidget& top, const QList<Text>& messages = {}) {
    QStringList found;
    const auto check = [&found](const QWidget* widget, const TextPlace& place,
                                const QString& text) {
        if (widget->isVisibleTo(widget->window()) && !text.isEmpty() && !place.showsWhole(text)) {
            found << widget->objectName() + ": " + text;
        }
    };
    for (const LinkLabel* label : top.findChildren<LinkLabel*>()) {
        check(label, label->textPlace(), label->text());
        if (label->objectName() == QLatin1String("messageLabel")) {
            for (const Text message : messages) {
                check(label, label->textPlace(), qtText(message));
            }
        }
    }
    for (const SkinButton* key : top.findChildren<SkinButton*>()) {
        check(key, key->textPlace(), key->text());
    }
    for (const SkinCombo* list : top.findChildren<SkinCombo*>()) {
        for (int i = 0; i < list->count(); ++i) {
            check(list, list->textPlace(), list->itemText(i));
        }
    }
    // Every value of a bar's range (the widest texts need not lie at its ends), a few hundred
    // at most.
    for (ValueSlider* bar : top.findChildren<ValueSlider*>()) {
        const double value = bar->GetValue();
        bar->SetValue(-1e9);
        const double lowest = bar->GetValue();
        bar->SetValue(1e9);
        const double highest = bar->GetValue();
        for (double v = lowest; v <= highest; v += std::max(1.0, (highest - lowest) / 300)) {
            bar->SetValue(v);
            check(bar, bar->textPlace(), bar->valueText());
        }
        bar->SetValue(value);
    }
    return found.join(QStringLiteral("; "));
}

} // namespace

class CatalogueFitTest : public QObject {
    Q_OBJECT

  private slots:
    void everyTextFitsItsPlace_data() {
        QTest::addColumn<QString>("language");
        for (const char* code : {"en", "de", "fr", "sp", "pt", "cn"}) {
            QTest::newRow(code) << code;
        }
    }

    void everyTextFitsItsPlace() {
        QFETCH(QString, language);
        setCurrentLanguage(language.toStdString());
        WindowHarness h;
        VirtualLight& light = h.bus.addLight(kOutputLight);
        h.start();
        // A steady mode, a strobe, minutes and Steps: every unit a value bar shows.
        h.click("addModeButton");
        h.click("addModeButton");
        WindowHarness::choose(h.modeRow(2), 1);
        WindowHarness::choose(h.modeRow(3), 3); // S.O.S, selected: its Steps show
        QCOMPARE(misfits(*h.window), QString());

        h.click("uploadButton");
        QCOMPARE(misfits(*h.transferDialog(),
                         {Text::Uploading, Text::UploadCompleted, Text::UploadFailed,
                          Text::Downloading, Text::DownloadCompleted, Text::DownloadFailed}),
                 QString());
        QTRY_VERIFY(h.okOffered());
        WindowHarness::pressOk(h.transferDialog());

        const QString hint =
            QString::fromStdString(permissionHint({light.path(), 0x04D8, 0x003F, 0}));
        for (const QString& shown : {QString(), hint}) {
            const NoticeDialog notice(h.window.get(), shown);
            QCOMPARE(misfits(notice), QString());
        }
    }
};

QTEST_MAIN(CatalogueFitTest)
#include "CatalogueFitTest.moc"
