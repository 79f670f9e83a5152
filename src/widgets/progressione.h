#pragma once

#include "core/ports.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The start-up progress window: a waiting window without buttons that names the stage being
// loaded. The second bar is part of the window's design and is never driven.
class Progressione : public QWidget, public ProgressPort {
    Q_OBJECT
public:
    explicit Progressione(QWidget *parent = nullptr);

    bool isVisible() const override { return QWidget::isVisible(); }
    void show() override;
    void close() override { QWidget::close(); }
    void setCaption(const QString &text) override;
    void setTitle(const QString &text) override { setWindowTitle(text); }
    void setMaximum(int maximum) override;
    int maximum() const override;
    void setValue(int value) override;
    int value() const override;

private:
    QLabel *m_caption;
    QProgressBar *m_bar;
};
