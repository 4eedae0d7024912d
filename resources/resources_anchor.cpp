// Anchors the resource library; the data itself is attached by qt_add_resources.
