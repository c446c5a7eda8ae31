#pragma once

struct Actor;

// The four kinds of creature that push rockets around, one call a frame
// each while the actor is in one of its kind's states.
void swimmer_behaviour(Actor& swimmer);
void bomb_behaviour(Actor& bomb);
void hopper_behaviour(Actor& hopper);
void carrier_behaviour(Actor& carrier);
