// A long run shows one large picture after another; each must go back to
// the system when it is freed, also after a screen-sized image was freed
// before it (which makes the C library keep later blocks in its heap).
#include <QtTest>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

#include "platform/lean_memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

class LeanMemoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void freedPicturesGoBackToTheSystem() {
#if !defined(__GLIBC__) || defined(__SANITIZE_ADDRESS__)
        QSKIP("needs the C library's own allocator");
#else
        ovant::keepFreedMemoryReturned();
        // The splash's image at 1920 x 1080.
        // (volatile: the compiler would drop an unused block altogether)
        void* volatile screen = std::malloc(1920 * 1080 * 4);
        std::memset(screen, 1, 1920 * 1080 * 4);
        std::free(screen);

        // A zoom view's schematic, drawn, shown and freed: the heap gives
        // its pages back, whether the block came from the system or from
        // free room at the heap's end.
        const std::size_t heapBefore = mallinfo2().arena;
        void* volatile picture = std::malloc(623 * 335 * 4);
        std::memset(picture, 1, 623 * 335 * 4);
        std::free(picture);
        const std::size_t kept =
            mallinfo2().arena > heapBefore ? mallinfo2().arena - heapBefore : 0;
        QVERIFY2(kept < 128 * 1024, qPrintable(QStringLiteral("the heap kept %1 bytes").arg(kept)));

        // Panels, zoom views and ships are built and taken down in turn; what
        // they freed in the middle of the heap goes back when asked.
        constexpr int kBlocks = 160;
        constexpr std::size_t kBlock = 100 * 1024;  // a panel's picture
        std::vector<void*> blocks;
        for (int i = 0; i < kBlocks; ++i) {
            blocks.push_back(std::malloc(kBlock));
            std::memset(blocks.back(), 1, kBlock);
        }
        // The last block stays in use, so the heap's end is not free and the
        // library keeps the rest of the pages.
        for (int i = 0; i + 1 < kBlocks; ++i) {
            std::free(blocks[i]);
        }
        const long before = residentKb();
        ovant::returnFreedMemory();
        const long after = residentKb();
        std::free(blocks.back());
        QVERIFY2(before - after > long(kBlocks / 2 * kBlock / 1024),
                 qPrintable(QStringLiteral("%1 kB before, %2 kB after").arg(before).arg(after)));
#endif
    }

private:
    static long residentKb() {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly)) {
            return 0;
        }
        const QList<QByteArray> fields = statm.readAll().split(' ');
        return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
    }
};

QTEST_APPLESS_MAIN(LeanMemoryTest)
#include "lean_memory_test.moc"
