#include "entities/curve3d.h"

#include <new>

Curve3D::~Curve3D() = default;

Curve3D* Curve3D::Copy() { return new (std::nothrow) Curve3D(*this); }
