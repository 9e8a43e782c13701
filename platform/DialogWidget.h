#pragma once
// The top-level window of a dialog and its client area: Qt's events become the dialog's
// messages. Private to the platform layer.

#include "platform/Dialog.h"

#include <QDialog>

class QMenuBar;
class QPainter;

class DialogWidget : public QDialog
{
public:
    DialogWidget(CDialog* pDialog, QWidget* parent, Qt::WindowFlags flags);

    void ForgetDialog() { m_pDialog = nullptr; }
    QMenuBar* m_pMenuBar = nullptr;
    QWidget* m_pClient = nullptr;

    // Menu bar across the top, the client area below it.
    void LayoutFrame();
    int MenuBarHeight(int width) const;
    // Erase, then paint, with one painter on the client area.
    void PaintClient(QPainter& painter);

    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // Wheel events anywhere in the window arrive here first.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Deliver(Message& msg);
    void SendCommand(UINT nID);
    void SendSize();
    void PressDefault();

    CDialog* m_pDialog;
};

// The client area below the menu bar; its paint is the dialog's.
class DialogClientWidget : public QWidget
{
public:
    explicit DialogClientWidget(DialogWidget* parent) : QWidget(parent), m_pFrame(parent) {}

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    DialogWidget* m_pFrame;
};
