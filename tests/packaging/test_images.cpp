// The images compiled into the program: the logo comes in two resolutions
// of one picture, and a window that loads it through QIcon gets the sharp
// one on a display scaled to 200 % and the plain one at 100 %.
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtTest>

class TestImages : public QObject {
    Q_OBJECT
private slots:
    void logoTwinIsTheSamePictureAtDoubleSize()
    {
        const QImage plain =
            QImage(QStringLiteral(":/logo.jpg")).convertToFormat(QImage::Format_RGB32);
        const QImage large = QImage(QStringLiteral(":/logo@2x.jpg"));
        QCOMPARE(plain.size(), QSize(230, 80));
        QCOMPARE(large.size(), plain.size() * 2);
        // Scaled down, the sharp logo matches the plain one closely: same
        // layout, same colours, only finer.
        const QImage sharp =
            large.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        qint64 difference = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x) {
                const QRgb a = plain.pixel(x, y), b = sharp.pixel(x, y);
                difference += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b))
                    + qAbs(qBlue(a) - qBlue(b));
            }
        const double perChannel = double(difference) / (plain.width() * plain.height() * 3);
        QVERIFY2(perChannel < 20.0, qPrintable(QString::number(perChannel)));
    }
    void iconsPickTheirResolutionAndSize()
    {
        const QIcon logo(QStringLiteral(":/logo.jpg"));
        QCOMPARE(logo.pixmap(QSize(230, 80), 1.0).size(), QSize(230, 80));
        const QPixmap at200 = logo.pixmap(QSize(230, 80), 2.0);
        QCOMPARE(at200.size(), QSize(460, 160));
        QCOMPARE(at200.deviceIndependentSize(), QSizeF(230, 80));
        for (int size : {16, 32, 64, 256}) {
            const QImage icon(QStringLiteral(":/icons/quotaro-%1.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
            // Square corners of the icon stay see-through on any panel.
            QVERIFY(icon.hasAlphaChannel());
        }
    }
};

// The program runs on a display scaled to 200 %, where QIcon looks for the
// "@2x" twin of an image; a second screen at 100 % still gets the plain one.
int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QGuiApplication app(argc, argv);
    TestImages test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_images.moc"
