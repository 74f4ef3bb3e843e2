#pragma once
// Self-checks of the math types that a test run of the engine performs at start-up (the
// engine calls TestMatrix4, then RunSelfTests). Every check is a function without arguments
// that answers true when the types behave; a suite stops at its first failing check. The
// random inputs come from Math::Rand, in a fixed order, so each run draws from the engine's
// generator. Only the Euler round trip of the quaternion suite writes anything: a report to
// standard output for each trial that brings an angle back with less magnitude than it drew.
// Each suite reaches one of its operations through the table of SelfTests_Operations.h, where a
// test can install a wrong one.

namespace Math
{

// Runs the suites in this order and stops at the first that fails: utilities, Matrix2,
// Matrix4, Quaternion, Vector2, Vector3, Vector4, PingPongValue. Answers the result of the
// last suite run.
bool RunSelfTests();

bool TestMathUtilities();
bool TestMatrix2();
bool TestMatrix4();
bool TestQuaternion();
bool TestVector2();
bool TestVector3();
bool TestVector4();
bool TestPingPongValue();

} // namespace Math
