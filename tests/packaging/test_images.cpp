// The images compiled into the program: the logo comes in two resolutions of
// one picture, and QIcon gives the sharp one on a display scaled to 200 % and
// the plain one at 100 %; the program icons are square with see-through corners.
#include <QIcon>
#include <QtTest>

class TestImages : public QObject {
    Q_OBJECT
private slots:
    void logoAndIcons()
    {
        const QImage plain = QImage(":/logo.jpg").convertToFormat(QImage::Format_RGB32);
        const QImage large(":/logo@2x.jpg");
        QCOMPARE(large.size(), plain.size() * 2);
        // Scaled down, the sharp logo matches the plain one closely: only finer.
        const QImage sharp =
            large.scaled(plain.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        qint64 difference = 0; // over red, green and blue (the fourth byte is always 255)
        for (qsizetype i = 0; i < plain.sizeInBytes(); ++i)
            difference += qAbs(plain.constBits()[i] - sharp.constBits()[i]);
        QVERIFY2(difference < 20 * 3 * plain.width() * plain.height(),
                 qPrintable(QString::number(difference)));
        const QIcon logo(":/logo.jpg");
        QCOMPARE(logo.pixmap(QSize(230, 80), 1.0).size(), QSize(230, 80));
        QCOMPARE(logo.pixmap(QSize(230, 80), 2.0).size(), QSize(460, 160));
        for (int size : {16, 32, 64, 256}) {
            const QImage icon(QStringLiteral(":/icons/quotaro-%1.png").arg(size));
            QCOMPARE(icon.size(), QSize(size, size));
            QVERIFY(icon.hasAlphaChannel());
        }
    }
};

// A display scaled to 200 %, where QIcon looks for the "@2x" twin of an image,
// set before the application starts.
static const bool scaled = qputenv("QT_SCALE_FACTOR", "2");
QTEST_MAIN(TestImages)

#include "test_images.moc"
