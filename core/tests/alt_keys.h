// Alt+letter checks of a shown window, for the window tests of every form: each
// letter reaches one control of what is on the screen, and the entry fields that
// no letter reaches are named.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>

namespace quay::testing {

// The letter Alt+letter reaches in a caption ("P&O Comments" -> 'o'), or 0.
inline QChar mnemonicOf(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return QChar();
}

// Every Alt+letter among the controls now visible in `window` reaches one control:
// tab captions, buttons and check boxes, group boxes, and labels of a field.
inline void expectEachAltKeyReachesOneControl(QWidget& window, const std::string& where) {
    std::map<QChar, QString> seen;
    auto claim = [&](const QString& caption) {
        const QChar key = mnemonicOf(caption);
        if (key.isNull()) return;
        EXPECT_FALSE(seen.count(key)) << where << ": Alt+" << QString(key).toStdString() << " reaches both \""
                                      << seen[key].toStdString() << "\" and \"" << caption.toStdString() << "\"";
        seen[key] = caption;
    };
    for (auto* tabs : window.findChildren<QTabWidget*>())
        if (tabs->isVisible())
            for (int t = 0; t < tabs->count(); ++t) claim(tabs->tabText(t));
    for (auto* b : window.findChildren<QAbstractButton*>())
        if (b->isVisible()) claim(b->text());
    for (auto* g : window.findChildren<QGroupBox*>())
        if (g->isVisible()) claim(g->title());
    for (auto* l : window.findChildren<QLabel*>())
        if (l->isVisible() && l->buddy() != nullptr) claim(l->text());
}

// The same on every page of `tabs` (or the window as it is, without tabs).
inline void expectEachAltKeyReachesOneControlOnEveryTab(QWidget& window, QTabWidget* tabs, const std::string& where) {
    if (tabs == nullptr) {
        expectEachAltKeyReachesOneControl(window, where);
        return;
    }
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        expectEachAltKeyReachesOneControl(window, where + " tab " + std::to_string(tab + 1));
    }
    tabs->setCurrentIndex(0);
}

// The labels (or, for a check box, the caption) of the visible fields that no
// Alt+letter reaches.
inline std::vector<std::string> fieldsWithoutAltKey(QWidget& window) {
    std::vector<std::string> out;
    std::map<const QWidget*, const QLabel*> labelOf;
    for (auto* l : window.findChildren<QLabel*>())
        if (l->buddy() != nullptr) labelOf[l->buddy()] = l;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus) continue;
        const QString kind = w->metaObject()->className();
        if (kind == "QCheckBox") {
            auto* box = static_cast<QAbstractButton*>(w);
            if (mnemonicOf(box->text()).isNull()) out.push_back(box->text().toStdString());
            continue;
        }
        if (kind != "QLineEdit" && kind != "QComboBox" && kind != "QPlainTextEdit") continue;
        if (w->parentWidget() && w->parentWidget()->inherits("QComboBox")) continue;
        const auto it = labelOf.find(w);
        if (it == labelOf.end()) {
            out.push_back("(" + w->objectName().toStdString() + ")");
        } else if (mnemonicOf(it->second->text()).isNull()) {
            out.push_back(it->second->text().toStdString());
        }
    }
    return out;
}

}  // namespace quay::testing
