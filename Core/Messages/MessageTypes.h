#pragma once
// Every message type number in one place. Each message class takes its `Type` from here, and
// the types that travel as a plain `Message` (the self-test, a player's death, a finished asset
// batch) are named here only. Numbers are fixed: scripts, logs and saved settings refer to them.
// The numbers 20, 29, 36, 41, 60, 61, 62, 68, 70, 72, 78 and 80 belong to no message.
#include "Math/Types.h"

enum MessageType : u32
{
    // Plain message: the message system's self-test.
    MT_SELF_TEST = 0,

    // Object family.
    MT_OBJECT_CREATE = 1,
    MT_OBJECT_DESTROY = 2,
    MT_OBJECT_VISIBILITY = 3,
    MT_ADD_COMPONENT = 4,
    MT_REMOVE_COMPONENT = 5,
    MT_MOUNT_OBJECT_CREATE = 6,
    MT_MOUNT_OBJECT_REMOVE = 7,
    MT_BONE_MOUNT_OBJECT_CREATE = 8,
    MT_BONE_MOUNT_OBJECT_REMOVE = 9,
    MT_SET_ORBIT_AROUND = 10,
    MT_SET_ORBIT_DISTANCE = 11,

    // Action family (one class, three types).
    MT_ACTION_ADD = 12,
    MT_ACTION_START = 13,
    MT_ACTION_FINISH = 14,

    // Game-state and user-interface family.
    MT_GAME_STATE = 15,
    MT_GO_TO_STATE = 16,
    MT_ADD_HUD_ELEMENT = 17,
    MT_REMOVE_HUD_ELEMENT = 18,
    MT_SET_HUD_VISIBLE = 19,
    MT_CHANGE_PAGE = 21,
    MT_NEXT_LEVEL = 22,
    MT_CHANGE_BUTTON_FUNCTION = 23,
    MT_SET_POINTER_POS = 24,

    // Input family: raw input (25 to 32) and the abstract input game code reads (33 to 35).
    MT_KEYBOARD = 25,
    MT_NATURAL_KEYBOARD = 26,
    MT_MOUSE_BUTTON = 27,
    MT_MOUSE_MOVE = 28,
    MT_MOUSE_WHEEL = 30,
    MT_CONTROLLER_BUTTON = 31,
    MT_CONTROLLER_STICK = 32,
    MT_INPUT_MOVE = 33,
    MT_INPUT_CURSOR = 34,
    MT_INPUT_ACTION = 35,

    // Camera family.
    MT_CAMERA_CYCLE = 37,
    MT_CAMERA_MOUNT = 38,
    MT_CAMERA_SHAKE = 39,
    MT_CAMERA_SWITCH = 40,

    // Graphics and animation family.
    MT_WINDOW_RESIZE = 42,
    MT_SET_VISIBLE = 43,
    MT_SET_MODEL = 44,
    MT_SET_MATERIAL = 45,
    MT_ANIMATION_PLAY = 46,
    MT_ANIMATION_SWAP = 47,
    MT_ANIMATION_SPEED_SET = 48,
    MT_ANIMATION_PLAY_UNTIL = 49,
    MT_ANIMATION_SET_TIME = 50,
    MT_TEXT_CONSTRUCT = 51,
    MT_SET_GLOW = 52,
    MT_SET_GLOW_TO = 53,
    MT_SET_LIGHT_DIFFUSE_TO = 54,
    MT_SET_LIGHT_SPECULAR_TO = 55,
    MT_SET_LIGHT_RADIUS_TO = 56,
    MT_SET_PARTICLE_PLAY = 57,
    MT_SET_BACKGROUND_FADE_TO = 58,
    MT_SET_PARTICLE_COLOR = 90,

    // Physics family.
    MT_COLLIDE = 59,

    // Audio family.
    MT_AUDIO_SYSTEM = 63,
    MT_AUDIO_MUSIC = 64,
    MT_AUDIO_EFFECT = 65,
    MT_AUDIO_FADE = 66,
    MT_LOAD_SOUND_EFFECT = 67,
    MT_LOAD_MUSIC = 69,
    MT_AUDIO_RESPONSE_ON_SELECT = 85,

    // Scripting: read only by the Lua system.
    MT_SCRIPT = 71,

    // Gameplay family.
    MT_DIRECTION_SET = 73,
    MT_POSITION_SET = 74,
    MT_SCALE_SET = 75,
    MT_ORIENTATION_SET = 76,
    MT_DIRECTION_ADD = 77,
    MT_SET_PLAYER_NUMBER = 79,
    MT_KILL_AI = 81,
    MT_PLAYER_DIED = 82, // plain message
    MT_VICTORY = 83,
    MT_DEFEAT = 84,
    MT_SET_HEALTHBAR_COLOR = 86,
    MT_REVIVE_DEAD_PLAYERS = 87,
    MT_SET_EMITTER_INTERVAL = 88,
    MT_SET_EMITTER_COUNT = 89,

    // Editor family.
    MT_ATTACH_PROPERTY_EDITOR = 91,
    MT_DETACH_PROPERTY_EDITOR = 92,
    MT_ATTACH_PARTICLE_EDITOR = 93,
    MT_DETACH_PARTICLE_EDITOR = 94,

    // Asset loading.
    MT_ASSET_THREAD_DONE = 95,
    MT_ASSET_BATCH_LOADED = 96, // plain message

    // One past the highest type number.
    MT_TYPE_COUNT = 97,
};

// The enumerator's name without its prefix ("OBJECT_DESTROY"), or "UNUSED_TYPE" for a number
// that belongs to no message.
const char* GetMessageTypeName(u32 type);
