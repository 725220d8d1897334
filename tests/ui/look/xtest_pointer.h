#pragma once

#include <QPoint>
#include <cstdint>

struct xcb_connection_t;

namespace tarvenne::ui::test {

// The pointer of the test display, driven through the XTEST extension: the X server delivers
// its presses and moves like a user's, honouring window shapes and implicit grabs.
class XTestPointer {
public:
    XTestPointer();
    ~XTestPointer();
    XTestPointer(const XTestPointer&) = delete;
    XTestPointer& operator=(const XTestPointer&) = delete;

    void moveTo(QPoint screenPosition);
    // Buttons as X numbers them: 1 left, 3 right.
    void press(int button);
    void release(int button);

private:
    void fake(std::uint8_t type, std::uint8_t detail, QPoint position = {});

    xcb_connection_t* connection_;
    std::uint32_t root_;
};

} // namespace tarvenne::ui::test
