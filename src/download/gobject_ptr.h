#pragma once

#include <memory>

#include <glib-object.h>

// Owns one reference to a GObject and drops it when it goes.
template <typename T>
struct GObjectUnref {
    void operator()(T* object) const {
        if (object) g_object_unref(object);
    }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref<T>>;
