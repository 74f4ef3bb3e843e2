#pragma once
// Registration functions of the math value records, called by InitializeTypeRegistry in a fixed
// order. Each sets the record's construct, destroy and assign operations, then registers the
// type's f32 fields as members in field order.
void RegisterMetaVector2();
void RegisterMetaVector3();
void RegisterMetaVector4();
void RegisterMetaPoint4();
void RegisterMetaColorRGBA();
// Operations only: the editor has no struct type for it.
void RegisterMetaSphericalCoordinate();
void RegisterMetaMatrix2();
void RegisterMetaMatrix3();
void RegisterMetaMatrix4();
