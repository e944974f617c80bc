#include "platform/GlFrameSurface.h"

#include "platform/QtPlatform.h"

#include <QEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLTextureBlitter>
#include <QScreen>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

namespace pvstim {

std::unique_ptr<FrameSurface> QtPlatform::createFrameSurface(QWidget& window)
{
    return GlFrameSurface::create(window);
}

std::unique_ptr<GlFrameSurface> GlFrameSurface::create(QWidget& window)
{
    std::unique_ptr<GlFrameSurface> surface(new GlFrameSurface(window));
    if (!surface->init())
        return nullptr;
    return surface;
}

GlFrameSurface::GlFrameSurface(QWidget& window)
    : window_(window)
{
    next_.setSingleShot(true);
    next_.setTimerType(Qt::PreciseTimer);
    connect(&next_, &QTimer::timeout, this, [this] { frame(); });
}

bool GlFrameSurface::init()
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create())
        return false;

    glWindow_ = new QWindow;
    glWindow_->setSurfaceType(QSurface::OpenGLSurface);
    glWindow_->setFormat(format);
    container_ = QWidget::createWindowContainer(glWindow_, &window_);
    container_->setAttribute(Qt::WA_TransparentForMouseEvents);
    container_->setFocusPolicy(Qt::NoFocus);
    container_->hide();
    glWindow_->create();
    if (!context_->makeCurrent(glWindow_))
        return false;
    const auto* name = context_->functions()->glGetString(GL_RENDERER);
    renderer_ = name ? QString::fromLatin1(reinterpret_cast<const char*>(name)) : QStringLiteral("OpenGL");
    blitter_ = std::make_unique<QOpenGLTextureBlitter>();
    if (!blitter_->create())
        return false;
    window_.installEventFilter(this);
    context_->doneCurrent();
    return true;
}

GlFrameSurface::~GlFrameSurface()
{
    window_.removeEventFilter(this);
    next_.stop();
    if (context_ && glWindow_ && context_->makeCurrent(glWindow_)) {
        if (blitter_)
            blitter_->destroy();
        context_->functions()->glDeleteTextures(2, textures_);
        context_->doneCurrent();
    }
    blitter_.reset();
    delete container_;
}

double GlFrameSurface::reportedRefreshHz() const
{
    const QScreen* screen = window_.screen();
    return screen ? screen->refreshRate() : 0.0;
}

void GlFrameSurface::setPictures(const QImage& lit, const QImage& blank)
{
    pictures_[0] = lit.convertToFormat(QImage::Format_RGBA8888);
    pictures_[1] = blank.convertToFormat(QImage::Format_RGBA8888);
    picturesChanged_ = true;
}

void GlFrameSurface::start()
{
    if (running_)
        return;
    running_ = true;
    lastSwapNs_ = -1;
    container_->setGeometry(window_.rect());
    container_->raise();
    container_->show();
    next_.start(0);
}

void GlFrameSurface::stop()
{
    running_ = false;
    next_.stop();
    container_->hide();
}

bool GlFrameSurface::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Resize && container_)
        container_->setGeometry(window_.rect());
    return QObject::eventFilter(watched, event);
}

void GlFrameSurface::upload()
{
    QOpenGLFunctions& gl = *context_->functions();
    if (!textures_[0])
        gl.glGenTextures(2, textures_);
    for (int i = 0; i < 2; ++i) {
        gl.glBindTexture(GL_TEXTURE_2D, textures_[i]);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        const QImage& image = pictures_[i];
        gl.glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
            image.constBits());
    }
    picturesChanged_ = false;
}

void GlFrameSurface::frame()
{
    if (!running_)
        return;
    const double refresh = reportedRefreshHz();
    const std::int64_t periodNs = refresh > 1.0 ? std::int64_t(1e9 / refresh) : 16666667;
    if (!glWindow_->isExposed() || !context_->makeCurrent(glWindow_)) {
        next_.start(int(periodNs / 1000000));
        return;
    }
    if (picturesChanged_)
        upload();
    QOpenGLFunctions& gl = *context_->functions();
    const QSize size = glWindow_->size() * glWindow_->devicePixelRatio();
    gl.glViewport(0, 0, size.width(), size.height());
    gl.glClearColor(0, 0, 0, 1);
    gl.glClear(GL_COLOR_BUFFER_BIT);
    if (textures_[0] && !pictures_[0].isNull()) {
        blitter_->bind();
        const QRect target(QPoint(0, 0), size);
        blitter_->blit(textures_[shown_ == Picture::Lit ? 0 : 1],
            QOpenGLTextureBlitter::targetTransform(QRectF(target), target), QOpenGLTextureBlitter::OriginTopLeft);
        blitter_->release();
    }
    context_->swapBuffers(glWindow_);
    const std::int64_t now = platform().monotonicNs();
    const std::int64_t sinceLast = lastSwapNs_ < 0 ? periodNs : now - lastSwapNs_;
    lastSwapNs_ = now;
    if (onFrame)
        onFrame(now);
    if (!running_)
        return;
    // A swap that returns well inside a refresh did not wait for the display. A
    // short wait keeps such a loop from taking a whole core; it is kept well off
    // the refresh so that its pacing is never mistaken for the display's.
    const std::int64_t waitNs = sinceLast < periodNs / 4 ? periodNs / 3 : 0;
    next_.start(int(waitNs / 1000000));
}

}  // namespace pvstim
