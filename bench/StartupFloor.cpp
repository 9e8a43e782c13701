// The least a program of this kind starts with: a Qt window with the main window's caption
// and size, and a native OpenGL child in the view's place that clears to blue on its first
// expose. The cold-start benchmark starts it beside the real program, so the figure can be
// read against what the window system and the GL driver take on this machine at that time.
#include <QApplication>
#include <QExposeEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

namespace
{
// The main window's caption and the sizes it opens with.
constexpr const char* kCaption = "Facetta";
constexpr int kWidth = 702, kHeight = 419;
constexpr int kViewX = 12, kViewY = 58, kViewWidth = 347, kViewHeight = 280;

class CFloorView : public QWindow
{
public:
    CFloorView()
    {
        setSurfaceType(QWindow::OpenGLSurface);
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setOption(QSurfaceFormat::DeprecatedFunctions);
        format.setDepthBufferSize(24);
        setFormat(format);
    }

protected:
    void exposeEvent(QExposeEvent*) override
    {
        if (!isExposed())
            return;
        if (m_context.format().renderableType() == QSurfaceFormat::DefaultRenderableType)
        {
            m_context.setFormat(format());
            if (!m_context.create())
                return;
        }
        if (!m_context.makeCurrent(this))
            return;
        QOpenGLFunctions* gl = m_context.functions();
        gl->glClearColor(0.1f, 0.2f, 0.9f, 1.0f);
        gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_context.swapBuffers(this);
    }

private:
    QOpenGLContext m_context;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(kCaption);
    window.resize(kWidth, kHeight);
    QWidget* container = QWidget::createWindowContainer(new CFloorView, &window);
    container->setGeometry(kViewX, kViewY, kViewWidth, kViewHeight);
    window.show();
    return app.exec();
}
